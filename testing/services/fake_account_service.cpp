#include "testing/services/fake_account_service.h"

#include "common/json/utf8.h"
#include "tcurl/CTCurlHelper.h"

#include <cstdlib>
#include <fstream>

namespace glimra::testing {

namespace {

// The port file's Unix path as Wine sees it: the root folder is drive Z:.
std::string WindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/') {
        for (char& c : path) {
            if (c == '/')
                c = '\\';
        }
        path = "Z:" + path;
    }
    return path;
}

bool ReadPort(std::string& port, std::string& problem)
{
    const char* file = std::getenv("GLIMRA_ACCOUNT_SERVICE_PORT_FILE");
    if (file == nullptr || *file == '\0') {
        problem = "GLIMRA_ACCOUNT_SERVICE_PORT_FILE is not set";
        return false;
    }
    std::ifstream in(WindowsPath(file));
    if (!(in >> port) || port.empty()) {
        problem = std::string("no port in ") + file;
        return false;
    }
    return true;
}

} // namespace

FakeAccountService::FakeAccountService(const json::Json& script)
{
    std::string port;
    if (!ReadPort(port, problem_))
        return;
    root_ = L"http://127.0.0.1:" + json::FromUtf8(port);
    CTCurlHelper curl;
    std::string reply;
    // The script travels as a url-encoded body's raw text: the service reads JSON.
    int result = curl.SendPostW(root_ + L"/__control/sessions", json::FromUtf8(script.dump()),
                                reply, {}, 10, 10, L"tests");
    if (result != 0) {
        problem_ = "the service did not open a session: " + std::to_string(result);
        return;
    }
    json::Json answer = json::Json::parse(reply, nullptr, false);
    if (!answer.is_object() || !answer.contains("base")) {
        problem_ = "unexpected answer: " + reply;
        return;
    }
    session_ = answer["session"].get<std::string>();
    base_ = root_ + json::FromUtf8(answer["base"].get<std::string>());
}

json::Json FakeAccountService::Get(const std::wstring& path) const
{
    CTCurlHelper curl;
    std::string reply;
    if (curl.SendGetW(root_ + path, reply, {}, 10, 10, L"tests") != 0)
        return nullptr;
    return json::Json::parse(reply, nullptr, false);
}

json::Json FakeAccountService::Requests() const
{
    return Get(L"/__control/sessions/" + json::FromUtf8(session_) + L"/requests");
}

json::Json FakeAccountService::RequestsTo(const std::string& path) const
{
    json::Json selected = json::Json::array();
    json::Json all = Requests();
    if (!all.is_array())
        return selected;
    for (const auto& request : all) {
        if (request.value("path", "") == path)
            selected.push_back(request);
    }
    return selected;
}

json::Json FakeAccountService::Keys() const
{
    return Get(L"/__control/keys");
}

json::Json Envelope(const std::string& code, const json::Json& rs, const std::string& msg)
{
    return {{"code", code}, {"msg", msg}, {"rs", rs}};
}

} // namespace glimra::testing
