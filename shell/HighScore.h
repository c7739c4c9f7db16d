#pragma once
// The persisted best score.

// The best-score rule of the hand-off from a play: stores max(stored, score) under
// "high_score" every time and returns it.
int recordHighScore(int score);
