#pragma once

namespace quorvel {

// While it lives, a SIGINT, SIGTERM or SIGHUP that ends the process first removes the file it is
// armed with, so an unfinished temporary file is not left behind. A handler the program has for
// one of these signals still runs as before (a first Ctrl-C that only asks to stop lets the write
// go on), and an ignored signal stays ignored. The dispositions come back when it ends.
//
// One lives at a time in a process; one made while another lives does nothing.
class RemovalOnSignal {
public:
    RemovalOnSignal();
    ~RemovalOnSignal();
    RemovalOnSignal(const RemovalOnSignal&) = delete;
    RemovalOnSignal& operator=(const RemovalOnSignal&) = delete;

    // `path` must stay unchanged in memory until disarm() or the end of this object.
    void arm(const char* path);
    void disarm();

private:
    bool active_ = false;
};

} // namespace quorvel
