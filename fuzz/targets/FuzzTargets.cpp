#include "FuzzTargets.h"

#include "AikenInput.h"
#include "BankInput.h"
#include "JournalInput.h"
#include "QuestionSourceInput.h"
#include "RtfInput.h"

#include <array>
#include <utility>

namespace {

void moodleInput(const QByteArray& data)
{
    QuestionSourceInput::run(BankFormat::MoodleXml, data);
}

void giftInput(const QByteArray& data)
{
    QuestionSourceInput::run(BankFormat::Gift, data);
}

constexpr std::array<std::pair<const char*, FuzzTargets::Run>, 6> Targets = {{
    {"journal", JournalInput::run},
    {"bank", BankInput::run},
    {"aiken", AikenInput::run},
    {"moodle", moodleInput},
    {"gift", giftInput},
    {"rtf", RtfInput::run},
}};

} // namespace

QStringList FuzzTargets::names()
{
    QStringList names;
    for (const auto& [name, run] : Targets)
        names << QString::fromLatin1(name);
    return names;
}

FuzzTargets::Run FuzzTargets::find(QStringView name)
{
    for (const auto& [targetName, run] : Targets)
        if (name == QLatin1String(targetName))
            return run;
    return nullptr;
}
