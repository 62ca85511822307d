#pragma once
// Where the programs and packages the install engine starts lie, relative to the
// folder they come from, and the names the failure boxes give them. No Windows headers.

namespace glimra::setup::catalogue {

// Below the setup folder (the folder of the running Setup program).
inline constexpr wchar_t kWindowsInstallerUpdate[] = L"\\Msi\\WindowsInstaller-KB893803-v2-x86.exe";
inline constexpr wchar_t kVcRuntimeX86[] = L"\\Msi\\vc_redist.x86.exe";
inline constexpr wchar_t kVcRuntime10X86[] = L"\\Msi\\vcredist_x86_10.exe";
inline constexpr wchar_t kVcRuntimeX64[] = L"\\Msi\\vc_redist.x64.exe";
inline constexpr wchar_t kVcRuntime10X64[] = L"\\Msi\\vcredist_x64_10.exe";
inline constexpr wchar_t kMsxml6X86[] = L"\\Msi\\msxml6.msi";
inline constexpr wchar_t kMsxml6X64[] = L"\\Msi\\msxml6_x64.msi";
inline constexpr wchar_t kPackageFolder[] = L"\\Msi\\"; // + TablePackageName()
inline constexpr wchar_t kComponentProgram1[] = L"\\files\\orvd_global.exe";
inline constexpr wchar_t kComponentProgram2[] = L"\\files\\orvd_local.exe";
inline constexpr wchar_t kComponentProgram3[] = L"\\files\\orvd_encryption.exe";
inline constexpr wchar_t kRegWriterX86[] = L"\\files\\RegWriter.exe";
inline constexpr wchar_t kRegWriterX64[] = L"\\files\\RegWriter_x64.exe";
inline constexpr wchar_t kUninstaller[] = L"\\TUninstall.exe";

// Below the shared-components folder (which ends with a backslash).
inline constexpr wchar_t kThumbnailLibrary[] = L"previewshell.dll";
inline constexpr wchar_t kImageLibrary[] = L"VaRevEzedi.dll";

// Below installDir.
inline constexpr wchar_t kProductProgram[] = L"\\orvd.exe";
inline constexpr wchar_t kLauncher[] = L"\\ovStart.exe";

} // namespace glimra::setup::catalogue
