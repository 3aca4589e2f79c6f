#pragma once

#include <QString>

#include <optional>

#include <sys/types.h>

// What the students of a class may do with the entries of a lab folder,
// judged from owners and mode bits as the system grants access. The class
// is the members of one group. A student reaches an entry through its group
// bits when the entry belongs to that group, else through the bits for
// others. An entry owned by anyone but the instructor and root counts as a
// student's: its owner may change its mode at will, so whatever may be done
// with it, some student may do. Access control lists are not read.
class ClassAccess
{
public:
    // What stat tells of an entry.
    struct Entry
    {
        uid_t Owner = 0;
        gid_t Group = 0;
        mode_t Mode = 0; // file type and permission bits
    };
    // The entry at path, a symbolic link followed; none when it is missing
    // or cannot be reached.
    static std::optional<Entry> of(const QString& path);

    // The rights asked for, as the bits of one class of a mode.
    enum Right { Read = 4, Write = 2, Search = 1 };

    ClassAccess(gid_t classGroup, uid_t instructor);

    gid_t classGroup() const { return Group; }
    uid_t instructor() const { return Instructor; }

    // Whether every student has all the rights given (an OR of Right).
    bool everyStudentMay(const Entry& e, int rights) const;
    // Whether some student has them: every student has, or a student owns
    // the entry.
    bool someStudentMay(const Entry& e, int rights) const;
    // Whether a student owns the entry.
    bool ownedByAStudent(const Entry& e) const;
    // Whether some student may remove or rename the file in the folder, or
    // put another in its place: one who may make files in the folder,
    // unless the folder is sticky and neither the file nor the folder is a
    // student's.
    bool someStudentMayRemove(const Entry& file, const Entry& folder) const;

private:
    gid_t Group;
    uid_t Instructor;
};
