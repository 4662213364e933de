#pragma once
// The command-line programs write UTF-8 on every system. A Windows console
// shows bytes in its own code page (852 for Hungarian), where "Használat"
// would come out broken: while the program runs its console takes UTF-8,
// and gets its own code page back at the end. Output to a file or a pipe
// is UTF-8 either way.

namespace velmar {

class Utf8Console {
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    unsigned previous_ = 0;  // the console's code page before, 0 without a console
};

}  // namespace velmar
