#include "platform/ClassAccess.h"

#include <QFile>

#include <sys/stat.h>

std::optional<ClassAccess::Entry> ClassAccess::of(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return Entry { st.st_uid, st.st_gid, st.st_mode };
}

ClassAccess::ClassAccess(gid_t classGroup, uid_t instructor)
    : Group(classGroup)
    , Instructor(instructor)
{
}

bool ClassAccess::everyStudentMay(const Entry& e, int rights) const
{
    // A member of the entry's group gets the group's bits and no others,
    // even where the bits for others would give more.
    const int bits = e.Group == Group ? int(e.Mode >> 3) & 7 : int(e.Mode) & 7;
    return (bits & rights) == rights;
}

bool ClassAccess::someStudentMay(const Entry& e, int rights) const
{
    return everyStudentMay(e, rights) || ownedByAStudent(e);
}

bool ClassAccess::ownedByAStudent(const Entry& e) const
{
    return e.Owner != Instructor && e.Owner != 0;
}

bool ClassAccess::someStudentMayRemove(const Entry& file, const Entry& folder) const
{
    if (!someStudentMay(folder, Write | Search))
        return false;
    return !(folder.Mode & S_ISVTX) || ownedByAStudent(file) || ownedByAStudent(folder);
}
