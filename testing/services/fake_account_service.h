#pragma once
// The tests' side of the fake account service: finds the running server through the
// port file that GLIMRA_ACCOUNT_SERVICE_PORT_FILE names, opens a scripted session and
// reads back what the service received in it.

#include "common/json/json_read.h"

#include <string>

namespace glimra::testing {

class FakeAccountService {
public:
    // Opens a session with `script` (see account_service.js). Check Ready() after.
    explicit FakeAccountService(const json::Json& script = json::Json::object());

    bool Ready() const { return !base_.empty(); }
    // Why the session could not be opened.
    const std::string& Problem() const { return problem_; }

    // "http://127.0.0.1:<port>/s/<id>": the account and parameter server address.
    const std::wstring& Base() const { return base_; }
    // "http://127.0.0.1:<port>" without a session: every request there fails.
    const std::wstring& Root() const { return root_; }

    // Every request of this session so far, oldest first.
    json::Json Requests() const;
    // Only those to `path` (e.g. "/api/v2/getAppParams").
    json::Json RequestsTo(const std::string& path) const;
    // The two public keys the service hands out: "encryptKey", "decryptKey".
    json::Json Keys() const;

private:
    json::Json Get(const std::wstring& path) const;

    std::wstring root_;
    std::wstring base_;
    std::string session_;
    std::string problem_;
};

// A reply in the service's envelope: {"code": code, "msg": msg, "rs": rs}.
json::Json Envelope(const std::string& code, const json::Json& rs = json::Json::object(),
                    const std::string& msg = "ok");

} // namespace glimra::testing
