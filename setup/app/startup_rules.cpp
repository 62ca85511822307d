#include "setup/app/startup_rules.h"

#include "setup/app/system_facts.h"

namespace glimra::setup {

namespace {
constexpr unsigned kFirstVersionWithElevation = 6;
constexpr unsigned kArchitectureX64 = 9;
constexpr unsigned kArchitectureItanium = 6;
} // namespace

bool HasAdministratorRights(const SystemFacts& facts)
{
    if (facts.WindowsMajorVersion() < kFirstVersionWithElevation)
        return facts.TokenHasAdministratorsGroup();
    return facts.TokenIsElevated();
}

bool IsWindows64Bit(const SystemFacts& facts)
{
    unsigned architecture = facts.NativeArchitecture();
    return architecture == kArchitectureX64 || architecture == kArchitectureItanium;
}

BitnessVerdict CheckBitness(int os64Bit, int wow64Package, int installed, int installed64Bit)
{
    if (os64Bit == 0 && wow64Package == 1)
        return BitnessVerdict::ProductNeeds64BitWindows;
    if (installed != 1)
        return BitnessVerdict::Proceed;
    if (wow64Package == 0 && os64Bit == 1 && installed64Bit == 1)
        return BitnessVerdict::OtherBitness64Installed;
    if (wow64Package == 1 && installed64Bit == 0)
        return BitnessVerdict::OtherBitness32Installed;
    return BitnessVerdict::Proceed;
}

} // namespace glimra::setup
