#include "http_client.h"

#include <windows.h>
#include <wininet.h>

namespace tcurl {

namespace {

// Closes an internet handle when it goes out of scope.
class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle()
    {
        if (handle_ != nullptr)
            InternetCloseHandle(handle_);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HINTERNET handle_;
};

int LastError()
{
    DWORD error = GetLastError();
    return error != 0 ? static_cast<int>(error) : -1;
}

void SetTimeouts(HINTERNET handle, int connect_timeout_s, int timeout_s)
{
    DWORD connect_ms = connect_timeout_s > 0 ? DWORD(connect_timeout_s) * 1000 : 0;
    DWORD data_ms = timeout_s > 0 ? DWORD(timeout_s) * 1000 : 0;
    if (connect_ms != 0)
        InternetSetOptionW(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connect_ms, sizeof connect_ms);
    if (data_ms != 0) {
        InternetSetOptionW(handle, INTERNET_OPTION_SEND_TIMEOUT, &data_ms, sizeof data_ms);
        InternetSetOptionW(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &data_ms, sizeof data_ms);
    }
}

struct UrlParts {
    std::wstring host;
    std::wstring path; // with the query
    INTERNET_PORT port = 0;
    bool secure = false;
};

bool CrackUrl(const std::wstring& url, UrlParts& parts)
{
    URL_COMPONENTSW components{};
    components.dwStructSize = sizeof components;
    components.dwHostNameLength = 1;
    components.dwUrlPathLength = 1;
    components.dwExtraInfoLength = 1;
    if (!InternetCrackUrlW(url.c_str(), static_cast<DWORD>(url.size()), 0, &components))
        return false;
    if (components.nScheme != INTERNET_SCHEME_HTTP && components.nScheme != INTERNET_SCHEME_HTTPS)
        return false;
    if (components.lpszHostName == nullptr || components.dwHostNameLength == 0)
        return false;
    parts.host.assign(components.lpszHostName, components.dwHostNameLength);
    if (components.lpszUrlPath != nullptr)
        parts.path.assign(components.lpszUrlPath, components.dwUrlPathLength);
    if (components.lpszExtraInfo != nullptr)
        parts.path.append(components.lpszExtraInfo, components.dwExtraInfoLength);
    if (parts.path.empty())
        parts.path = L"/";
    parts.port = components.nPort;
    parts.secure = components.nScheme == INTERNET_SCHEME_HTTPS;
    return true;
}

std::wstring JoinHeaders(const std::vector<std::wstring>& headers)
{
    std::wstring joined;
    for (const auto& line : headers)
        joined += line + L"\r\n";
    return joined;
}

int StatusCode(HINTERNET request)
{
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        nullptr))
        return -1;
    return static_cast<int>(status);
}

// A connection closed without any answer reads as an HTTP/0.9 answer "200 OK" without
// a single header line; every server we talk to sends header lines.
bool HasHeaderLines(HINTERNET request)
{
    DWORD size = 0;
    HttpQueryInfoW(request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &size, nullptr);
    if (size == 0)
        return false;
    std::wstring raw(size / sizeof(wchar_t) + 1, L'\0');
    if (!HttpQueryInfoW(request, HTTP_QUERY_RAW_HEADERS_CRLF, &raw[0], &size, nullptr))
        return false;
    raw.resize(size / sizeof(wchar_t));
    size_t end_of_status = raw.find(L"\r\n");
    return end_of_status != std::wstring::npos &&
           raw.find(L':', end_of_status) != std::wstring::npos;
}

unsigned long long ContentLength(HINTERNET request)
{
    wchar_t text[32] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
        return 0;
    return _wcstoui64(text, nullptr, 10);
}

int ReadBody(HINTERNET request, const BodySink& sink)
{
    unsigned long long total = ContentLength(request);
    char buffer[16 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request, buffer, sizeof buffer, &read))
            return LastError();
        if (read == 0)
            return 0;
        if (!sink(buffer, read, total))
            return -1;
    }
}

} // namespace

int PerformRequest(const HttpRequest& request, const BodySink& sink)
{
    UrlParts parts;
    if (!CrackUrl(request.url, parts))
        return -1;
    InternetHandle session(InternetOpenW(request.user_agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG,
                                         nullptr, nullptr, 0));
    if (!session)
        return LastError();
    SetTimeouts(session.get(), request.connect_timeout_s, request.timeout_s);
    InternetHandle connection(InternetConnectW(session.get(), parts.host.c_str(), parts.port,
                                               nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection)
        return LastError();
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES |
                  INTERNET_FLAG_NO_UI | INTERNET_FLAG_PRAGMA_NOCACHE;
    if (parts.secure)
        flags |= INTERNET_FLAG_SECURE;
    InternetHandle http(HttpOpenRequestW(connection.get(), request.verb, parts.path.c_str(),
                                         nullptr, nullptr, nullptr, flags, 0));
    if (!http)
        return LastError();
    // The request handle keeps its own limits for the waits on its connection.
    SetTimeouts(http.get(), request.connect_timeout_s, request.timeout_s);
    // Every request has a connection of its own: a connection kept from an earlier
    // request and closed by the server meanwhile would make WinINet send this one again.
    std::wstring headers = JoinHeaders(request.headers) + L"Connection: close\r\n";
    if (!HttpSendRequestW(http.get(), headers.c_str(), static_cast<DWORD>(headers.size()),
                          request.body.empty() ? nullptr : const_cast<char*>(request.body.data()),
                          static_cast<DWORD>(request.body.size())))
        return LastError();
    if (!HasHeaderLines(http.get()))
        return ERROR_INTERNET_CONNECTION_RESET;
    int status = StatusCode(http.get());
    if (status < 200 || status > 299)
        return status;
    return ReadBody(http.get(), sink);
}

} // namespace tcurl
