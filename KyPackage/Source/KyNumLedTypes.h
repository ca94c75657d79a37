#pragma once
// What a numeric LED shows and how its segments look.

enum KyNumLedType : unsigned char {
    nledFloat = 0,  // a number
    nledTime = 1,   // a time of day
    nledDate = 2,   // a date
};

enum KyNumLedStyle : unsigned char {
    nledRectangle7_s = 0,  // rectangular seven-segment style
};
