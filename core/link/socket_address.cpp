#include "core/link/socket_address.h"

#include <charconv>

namespace velmar {

std::string SocketAddress::ToString() const {
    if (kind == Kind::kUnix) return "unix:" + path;
    const bool v6 = host.find(':') != std::string::npos;
    return "tcp:" + (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

std::string ParseSocketAddress(const std::string& text, SocketAddress* out) {
    SocketAddress a;
    if (text.rfind("unix:", 0) == 0) {
        a.path = text.substr(5);
        if (a.path.empty()) return "hiányzik a socket útvonala: „" + text + "”";
    } else if (text.rfind("tcp:", 0) == 0) {
        a.kind = SocketAddress::Kind::kTcp;
        const std::string rest = text.substr(4);
        // The port follows the last colon, so an IPv6 host keeps its own.
        const auto colon = rest.rfind(':');
        if (colon == std::string::npos) return "hiányzik a port: „" + text + "”";
        a.host = rest.substr(0, colon);
        if (a.host.size() >= 2 && a.host.front() == '[' && a.host.back() == ']')
            a.host = a.host.substr(1, a.host.size() - 2);
        if (a.host.empty()) return "hiányzik a gép: „" + text + "”";
        const std::string port = rest.substr(colon + 1);
        unsigned v = 0;
        const auto* end = port.data() + port.size();
        const auto [p, ec] = std::from_chars(port.data(), end, v);
        if (port.empty() || ec != std::errc() || p != end || v > 65535) return "hibás port: „" + text + "”";
        a.port = uint16_t(v);
    } else {
        return "„" + text + "” se nem unix:ÚTVONAL, se nem tcp:GÉP:PORT";
    }
    if (out) *out = a;
    return {};
}

}  // namespace velmar
