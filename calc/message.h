// What the runner says (an error, a note), in the command line's English and
// in the Japanese of the site's 一括計算 page, which runs the same code.
#pragma once

#include <string>

namespace milfo::calc {

struct Message {
    std::string en;
    std::string ja;

    Message& operator+=(const Message& more)
    {
        en += more.en;
        ja += more.ja;
        return *this;
    }
};

inline Message operator+(Message a, const Message& b)
{
    return a += b;
}

}  // namespace milfo::calc
