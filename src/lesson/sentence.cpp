#include "sentence.h"

Sentence& Sentence::operator<<(const char* words)
{
    while (*words && length + 1 < static_cast<int>(sizeof text))
        text[length++] = *words++;
    text[length] = '\0';
    return *this;
}

Sentence& Sentence::operator<<(int number)
{
    char digits[12];
    int count = 0;
    unsigned magnitude = number < 0 ? 0u - static_cast<unsigned>(number) : static_cast<unsigned>(number);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (number < 0)
        *this << "-";
    char reversed[12];
    for (int i = 0; i < count; ++i)
        reversed[i] = digits[count - 1 - i];
    reversed[count] = '\0';
    return *this << reversed;
}
