#pragma once
// Facts about the machine and the process that a test cannot arrange on Wine: the
// Windows version, the rights of the process token and the native architecture.
// The start-up asks them through this interface; tests hand it a scripted one.

namespace glimra::setup {

class SystemFacts {
public:
    virtual ~SystemFacts() = default;
    virtual unsigned WindowsMajorVersion() const = 0;
    // The process token is elevated (Windows 6 and later).
    virtual bool TokenIsElevated() const = 0;
    // The process token's groups hold the local Administrators group (S-1-5-32-544).
    virtual bool TokenHasAdministratorsGroup() const = 0;
    // The native processor architecture as Windows reports it (9 x64, 6 Itanium, 0 x86).
    virtual unsigned NativeArchitecture() const = 0;
};

// The facts as Windows reports them for this process.
const SystemFacts& RealSystemFacts();

// Facts given by a test.
class ScriptedSystemFacts : public SystemFacts {
public:
    unsigned majorVersion = 10;
    bool elevated = true;
    bool administratorsGroup = true;
    unsigned architecture = 9;

    unsigned WindowsMajorVersion() const override { return majorVersion; }
    bool TokenIsElevated() const override { return elevated; }
    bool TokenHasAdministratorsGroup() const override { return administratorsGroup; }
    unsigned NativeArchitecture() const override { return architecture; }
};

} // namespace glimra::setup
