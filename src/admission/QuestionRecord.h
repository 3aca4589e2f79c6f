#pragma once

#include "platform/ShortString.h"

#include <bit>
#include <cstddef>
#include <cstdint>

// One question of a bank, exactly as stored: 1288 bytes, no padding,
// integers little-endian. Answer k is right when RightAnswer equals k; any
// other value makes every answer to the question wrong. Reserved is carried
// along with the record but never interpreted.
#pragma pack(push, 1)
struct QuestionRecord
{
    unsigned char Reserved[4];
    std::int32_t RightAnswer;
    ShortString<255> Question;
    ShortString<255> Answer1;
    ShortString<255> Answer2;
    ShortString<255> Answer3;
    ShortString<255> Answer4;

    // Answer1 to Answer4 by number, 1 to 4.
    ShortString<255>& answer(int number);
    const ShortString<255>& answer(int number) const;
};
#pragma pack(pop)

static_assert(std::endian::native == std::endian::little,
              "RightAnswer is read from the bank as it lies in memory");
static_assert(sizeof(QuestionRecord) == 1288);
static_assert(offsetof(QuestionRecord, Reserved) == 0);
static_assert(offsetof(QuestionRecord, RightAnswer) == 4);
static_assert(offsetof(QuestionRecord, Question) == 8);
static_assert(offsetof(QuestionRecord, Answer1) == 264);
static_assert(offsetof(QuestionRecord, Answer2) == 520);
static_assert(offsetof(QuestionRecord, Answer3) == 776);
static_assert(offsetof(QuestionRecord, Answer4) == 1032);
