#include <gtest/gtest.h>

#include "login/data/data_manager.h"

#include <string>
#include <thread>
#include <vector>

using namespace glimra::login;

TEST(DataManager, StartsWithTheDesignedValues)
{
    const CDataManager& data = CDataManager::Instance();
    EXPECT_EQ(data.user.id, -1);
    EXPECT_FALSE(data.user.SignedIn());
    EXPECT_EQ(data.user.chatSignature, L"");
    EXPECT_EQ(data.user.ordinaryCreateGroupLimit, 3);
    EXPECT_EQ(data.user.ordinaryGroupMemberLimit, 200);
    EXPECT_EQ(data.user.ordinaryJoinGroupLimit, 500);
    EXPECT_EQ(data.user.seniorCreateGroupLimit, 20);
    EXPECT_EQ(data.user.seniorGroupMemberLimit, 200);
    EXPECT_EQ(data.user.seniorJoinGroupLimit, 500);
    EXPECT_EQ(data.language, L"zh-cn");
    EXPECT_EQ(data.clientType, L"TV_Windows");
    EXPECT_EQ(data.clientVersion, L"5.2.0");
    EXPECT_EQ(data.channelCode, L"1");
    EXPECT_EQ(data.accountServerUrl.rfind(L"http://", 0), 0u);
    EXPECT_EQ(data.parameterServerUrl.rfind(L"http://", 0), 0u);
    for (const std::wstring* empty :
         {&data.authCenterUrl, &data.deviceManagementUrl, &data.qqLoginUrl, &data.weiboLoginUrl,
          &data.encryptKey, &data.decryptKey, &data.qrPicturePath, &data.userAgreementUrl,
          &data.privacyPolicyUrl})
        EXPECT_TRUE(empty->empty());
    for (auto callback : data.callbacks)
        EXPECT_EQ(callback, nullptr);
    EXPECT_EQ(data.callbacks.size(), 13u);
}

TEST(DataManager, ConcurrentFirstCallsGetTheSameObject)
{
    std::vector<CDataManager*> seen(8, nullptr);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < seen.size(); ++i)
        threads.emplace_back([&seen, i] { seen[i] = &CDataManager::Instance(); });
    for (auto& thread : threads)
        thread.join();
    for (auto* instance : seen)
        EXPECT_EQ(instance, &CDataManager::Instance());
}

namespace {

std::vector<int> fired;
template <int N> void Record()
{
    fired.push_back(N);
}

} // namespace

TEST(DataManager, CallbacksFireFromTheirOwnSlotAndEmptySlotsAreSkipped)
{
    CDataManager& data = CDataManager::Instance();
    data.SetCallback(Callback::Login, Record<0>);
    data.SetCallback(Callback::WeChatLogin, Record<7>);
    data.SetCallback(Callback::EmailRetrievePassword, Record<12>);
    fired.clear();
    for (size_t slot = 0; slot < static_cast<size_t>(Callback::Count); ++slot)
        data.Fire(static_cast<Callback>(slot));
    EXPECT_EQ(fired, (std::vector<int>{0, 7, 12}));
    data.SetCallback(Callback::WeChatLogin, nullptr);
    fired.clear();
    data.Fire(Callback::WeChatLogin);
    EXPECT_TRUE(fired.empty());
}

TEST(DataManager, ResettingTheIdentityKeepsTheChatSettings)
{
    UserRecord user;
    user.id = 1001;
    user.token = L"token";
    user.name = L"name";
    user.uuid = L"uuid";
    user.avatar = L"avatar";
    user.chatSignature = L"sig";
    user.seniorJoinGroupLimit = 9;
    EXPECT_TRUE(user.SignedIn());
    user.ResetIdentity();
    EXPECT_EQ(user.id, -1);
    for (const std::wstring* empty :
         {&user.token, &user.name, &user.uuid, &user.avatar, &user.reserved})
        EXPECT_TRUE(empty->empty());
    EXPECT_EQ(user.chatSignature, L"sig");
    EXPECT_EQ(user.seniorJoinGroupLimit, 9);
    EXPECT_FALSE(user.SignedIn());
}
