// Shared by the crash-safety test and its writer process: the personality the writer
// starts from and the value it writes in round k.
#pragma once

#include <string>

namespace sw::test {

// One line of about 256 KB that differs from round to round, so that every write
// takes long enough for a kill to land in the middle of it now and then.
inline std::string crashPayload(int round)
{
    std::string payload;
    payload.reserve(270000);
    std::string word = "r" + std::to_string(round) + ":";
    for (int i = 0; payload.size() < 256000 + std::size_t(round % 97) * 61; ++i)
        payload += word + char('a' + (round + i) % 26);
    return payload;
}

// The personality before round 1: version 2 (SkinAuthor), Counter 0, payload 0.
inline std::string crashTemplate()
{
    return "; Personality of the crash-safety test\r\n"
           "[TITLEBARSKIN]\r\n"
           "SkinName=Crash\r\n"
           "SkinAuthor=Tester\r\n"
           "Counter=0\r\n"
           "\r\n"
           "; The large value\r\n"
           "[PAYLOAD]\r\n"
           "Data=" + crashPayload(0) + "\r\n";
}

}  // namespace sw::test
