#pragma once

// How a student's work is judged, the same for the bench that stores the
// results and for the instructor's tools that read them: an admission test
// of ten questions, each right answer one point, seven to pass; then six
// measurements, each with its flag in the record (Done1 to Done6), all six
// for the whole work.
struct Grading
{
    // Questions in an admission test, and so the highest score.
    static constexpr int Questions = 10;
    // Right answers that pass the test.
    static constexpr int PassMark = 7;
    // Measurements of the work.
    static constexpr int Measurements = 6;

    static constexpr bool passes(int rightAnswers) { return rightAnswers >= PassMark; }
};
