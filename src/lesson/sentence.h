#pragma once

// A sentence the lesson says, built in place: words and whole numbers.
// The page's build carries no formatted printing, so none is used here.
struct Sentence {
    char text[240] = "";
    int length = 0;

    Sentence& operator<<(const char* words);
    Sentence& operator<<(int number);
    bool empty() const { return length == 0; }
};
