#include "login/service/user_readers.h"

#include "common/json/json_read.h"
#include "login/service/reply_envelope.h"

namespace glimra::login {

const wchar_t kLoginStateError[] = L"login state error.";

namespace {

using json::Json;

void ReadLimits(const Json& group, int& create, int& members, int& join)
{
    if (json::Has(group, "createGroupNumberLimit"))
        create = json::Int(group, "createGroupNumberLimit");
    if (json::Has(group, "createGroupUserNumberLimit"))
        members = json::Int(group, "createGroupUserNumberLimit");
    if (json::Has(group, "joinGroupNumberLimit"))
        join = json::Int(group, "joinGroupNumberLimit");
}

// "userInfo", "utoken" and "chat" of a login payload (or of a QR "userDetail").
void ReadUserDetail(const Json& payload, UserRecord& user)
{
    if (json::Has(payload, "userInfo")) {
        Json info = json::ObjectOrJsonText(payload, "userInfo");
        if (json::Has(info, "id"))
            user.id = json::NumberTowardZero(info, "id");
        if (json::Has(info, "name"))
            user.name = json::String(info, "name");
        if (json::HasNonNull(info, "favicon"))
            user.avatar = json::String(info, "favicon");
    }
    if (json::Has(payload, "utoken"))
        user.token = json::String(payload, "utoken");
    if (json::Has(payload, "chat") && payload.at("chat").is_object()) {
        const Json& chat = payload.at("chat");
        if (json::Has(chat, "ordinary"))
            ReadLimits(chat.at("ordinary"), user.ordinaryCreateGroupLimit,
                       user.ordinaryGroupMemberLimit, user.ordinaryJoinGroupLimit);
        if (json::Has(chat, "senior"))
            ReadLimits(chat.at("senior"), user.seniorCreateGroupLimit, user.seniorGroupMemberLimit,
                       user.seniorJoinGroupLimit);
        if (json::Has(chat, "userSig"))
            user.chatSignature = json::String(chat, "userSig");
    }
}

// Parses the reply and checks its envelope with the status; false when it is not a
// success (the status then says why).
bool SuccessfulEnvelope(const std::wstring& reply, ReplyStatus& status, Json& parsed)
{
    if (!json::TryRead([&] { parsed = json::Parse(reply); })) {
        status = ReplyStatus{-1, kErrorFormatting};
        return false;
    }
    return ReadReplyStatus(parsed, &status);
}

void MarkMalformed(ReplyStatus& status)
{
    status = ReplyStatus{-1, kErrorFormatting};
}

} // namespace

bool ParseLoginReply(const std::wstring& reply, UserRecord& user, const std::wstring& decrypt_key,
                     ReplyStatus& status, const PayloadDecryptor& decrypt)
{
    Json parsed;
    if (!SuccessfulEnvelope(reply, status, parsed))
        return false;
    bool read = json::TryRead([&] {
        Json payload;
        if (json::Has(parsed, "rs") && parsed.at("rs").is_object()) {
            payload = parsed.at("rs");
        } else {
            std::wstring text = json::String(parsed, "rs");
            payload = json::Parse(decrypt_key.empty() || !decrypt ? text : decrypt(text));
        }
        ReadUserDetail(payload, user);
    });
    if (!read)
        MarkMalformed(status);
    return read;
}

bool ParseUnionCodeReply(const std::wstring& reply, UserRecord& user, ReplyStatus& status)
{
    Json parsed;
    if (!SuccessfulEnvelope(reply, status, parsed))
        return false;
    bool complete = false;
    bool read = json::TryRead([&] {
        Json payload = json::ObjectOrJsonText(parsed, "rs");
        if (!json::Has(payload, "state"))
            return;
        int state = json::Int(payload, "state");
        if (state != 3) {
            status = ReplyStatus{state, kLoginStateError};
            return;
        }
        if (json::Has(payload, "userDetail"))
            ReadUserDetail(json::ObjectOrJsonText(payload, "userDetail"), user);
        complete = true;
    });
    if (!read)
        MarkMalformed(status);
    return read && complete;
}

bool ParseBindReply(const std::wstring& reply, UserRecord& user, ReplyStatus& status)
{
    Json parsed;
    if (!json::TryRead([&] { parsed = json::Parse(reply); })) {
        status = ReplyStatus{-1, L""};
        return false;
    }
    if (!ParseStatusReply(parsed, &status))
        return false;
    bool read = json::TryRead([&] {
        if (!json::Has(parsed, "data"))
            return;
        Json data = json::ObjectOrJsonText(parsed, "data");
        if (json::Has(data, "name"))
            user.name = json::String(data, "name");
        if (json::Has(data, "userId"))
            user.id = json::NumberTowardZero(data, "userId");
        if (json::Has(data, "userToken"))
            user.token = json::String(data, "userToken");
        if (json::Has(data, "uuid"))
            user.uuid = json::String(data, "uuid");
        if (json::Has(data, "avatar"))
            user.avatar = json::String(data, "avatar");
    });
    if (!read)
        status = ReplyStatus{-1, L""};
    return read;
}

bool ParseDeviceList(const std::wstring& reply, std::vector<BoundDevice>& devices)
{
    std::vector<BoundDevice> read_devices;
    bool read = json::TryRead([&] {
        Json parsed = json::Parse(reply);
        if (!ReadReplyStatus(parsed, nullptr))
            throw json::ReadError("the reply is not a success");
        if (!json::Has(parsed, "rs") || !parsed.at("rs").is_array())
            return;
        for (const Json& element : parsed.at("rs")) {
            BoundDevice device;
            if (json::Has(element, "uid"))
                device.uid = json::Int(element, "uid");
            if (json::Has(element, "deviceId"))
                device.deviceId = json::Int(element, "deviceId");
            if (json::Has(element, "deviceName"))
                device.deviceName = json::String(element, "deviceName");
            if (json::Has(element, "deviceUuid"))
                device.deviceUuid = json::String(element, "deviceUuid");
            if (json::Has(element, "clientVersion"))
                device.clientVersion = json::String(element, "clientVersion");
            if (json::Has(element, "latestLoginTime"))
                device.latestLoginTime = json::NumberTowardZero(element, "latestLoginTime") / 1000;
            read_devices.push_back(device);
        }
    });
    if (read)
        devices = std::move(read_devices);
    return read;
}

} // namespace glimra::login
