#include <gtest/gtest.h>

#include "setup/app/system_facts.h"

#include <windows.h>

using glimra::setup::RealSystemFacts;

// The real facts agree with what Windows says through other calls.
TEST(RealSystemFacts, AgreeWithWindows)
{
    const auto& facts = RealSystemFacts();

    BOOL wow64 = FALSE;
    ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
    if (wow64) {
        EXPECT_TRUE(facts.NativeArchitecture() == PROCESSOR_ARCHITECTURE_AMD64 ||
                    facts.NativeArchitecture() == PROCESSOR_ARCHITECTURE_IA64);
    } else {
        EXPECT_EQ(facts.NativeArchitecture(), unsigned(PROCESSOR_ARCHITECTURE_INTEL));
    }

    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                         DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                         &administrators));
    BOOL member = FALSE;
    ASSERT_TRUE(CheckTokenMembership(nullptr, administrators, &member));
    FreeSid(administrators);
    // An enabled membership is one the token's groups hold.
    if (member) {
        EXPECT_TRUE(facts.TokenHasAdministratorsGroup());
    }

    EXPECT_GE(facts.WindowsMajorVersion(), 5u);
}
