#pragma once
// One HTTP request over WinINet.

#include <functional>
#include <string>
#include <vector>

namespace tcurl {

struct HttpRequest {
    const wchar_t* verb = L"GET";
    std::wstring url;
    std::vector<std::wstring> headers; // whole lines, "Name: value"
    std::string body;
    int connect_timeout_s = 10;
    int timeout_s = 10;
    std::wstring user_agent;
};

// Receives each piece of the body with the total length (0 when unknown); false stops.
using BodySink = std::function<bool(const char* data, size_t size, unsigned long long total)>;

// 0 for a 2xx answer whose whole body reached `sink`; otherwise the HTTP status, the
// system's error code, or -1 (a URL that cannot be read, a stop asked by the sink).
int PerformRequest(const HttpRequest& request, const BodySink& sink);

} // namespace tcurl
