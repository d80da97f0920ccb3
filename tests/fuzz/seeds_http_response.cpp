// Seeds for the HTTP response parser: length-delimited, chunked with trailers,
// an interim answer, a body until close, folded headers, and a few refusals.
#include <string>

#include "fuzz_seeds.h"

namespace tw_fuzz {

std::vector<std::vector<uint8_t>> seeds() {
    const char* texts[] = {
        "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok",
        ("HTTP/1.1 200 OK\r\nTransfer-Encoding: Chunked\r\n\r\n5\r\nhello\r\n"
         "3;x=y\r\nabc\r\n0\r\nX-Trailer: t\r\n\r\n"),
        "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 201 Created\r\nContent-Length: 3\r\n\r\nabc",
        "HTTP/1.0 200 OK\r\nServer: s\r\n\r\nuntil the peer closes",
        "HTTP/1.1 204 No Content\r\nX-Long: a\r\n\tb\r\n c\r\nX-Long: d\r\n\r\n",
        "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nKeep-Alive: 5\r\n\r\nnot found",
        "HTTP/2 200 OK\r\n\r\n",
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nffffffffffffff\r\nab",
    };
    std::vector<std::vector<uint8_t>> out;
    for (const char* text : texts) {
        const std::string bytes = text;
        out.emplace_back(bytes.begin(), bytes.end());
    }
    return out;
}

}  // namespace tw_fuzz
