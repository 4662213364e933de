#pragma once
// Where an instrument is served on a socket: "unix:PATH" or "tcp:HOST:PORT".
// Shared by the program, which connects, and velmar-sim, which listens, so
// both read an address the same way.

#include <cstdint>
#include <string>

namespace velmar {

struct SocketAddress {
    enum class Kind { kUnix, kTcp };
    Kind kind = Kind::kUnix;
    std::string path;  // unix
    std::string host;  // tcp, without the brackets of an IPv6 literal
    uint16_t port = 0;  // tcp; 0 lets a listener pick one

    // The address in the form it was given, e.g. "tcp:127.0.0.1:5000".
    std::string ToString() const;
};

// Parses an address into *out. Returns the error text, empty when it is good.
std::string ParseSocketAddress(const std::string& text, SocketAddress* out);

}  // namespace velmar
