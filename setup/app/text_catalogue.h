#pragma once
// Every text the installer takes from SetupRes.dll, each with the built-in fallback of
// its call site. One identifier may appear twice when two call sites give it different
// fallbacks (2037, 2038).

#include "setup/app/setup_texts.h"

namespace glimra::setup {

inline constexpr SetupText kTextPublisher{1997, L"Tarvel Company"};
inline constexpr SetupText kTextPublisherWebAddress{1998, L"https://www.tarvel.com"};
inline constexpr SetupText kTextDisplayNameSuffix{1999, nullptr};
inline constexpr SetupText kTextNotEnoughDiskSpace{2001, L"There is not enough disk space."};
inline constexpr SetupText kTextDiskSpaceFailed{
    2002, L"Get disk space failed.\nYou do not have sufficient security privileges to install "
          L"software on this computer.Please contact your system administrator or log off and "
          L"log-in again as an administrator."};
inline constexpr SetupText kTextRegistryError{
    2003, L"Error\uFF1AUnable to Create the registry information!"};
inline constexpr SetupText kTextMissingPackageFile{2005, L"File :'%s' does not exist!"};
inline constexpr SetupText kTextUninstallShortcut{2008, L"Uninstall Glimra"};
inline constexpr SetupText kTextNoAdministratorRights{
    2009, L"You do not have sufficient security privileges to install software on this "
          L"computer.Please contact your system administrator or log off and log-in again as "
          L"an administrator."};
inline constexpr SetupText kTextProductRunning{
    2010, L"DWGGlimra is running,please close the application and then try again."};
inline constexpr SetupText kText64BitInstalled{
    2011, L"A 64-bit version of DWGGlimra has been installed , Please uninstall it before "
          L"installing the 32-bit version."};
inline constexpr SetupText kTextMsiInstallFailed{2012, L"Msi Install Failed!"};
inline constexpr SetupText kTextUninstallFailed{2013, L"Failed to uninstall!"};
inline constexpr SetupText kTextUninstallQuestion{
    2014, L"\nAre you sure you want to uninstall this product?\n"};
inline constexpr SetupText kTextProductKeyName{2015, L"DWGGlimra"};
inline constexpr SetupText kTextRegisterFailed{2017, L"Failed to Register,Please reinstall!"};
inline constexpr SetupText kTextWebsiteShortcut{2018, L"Website"};
inline constexpr SetupText kTextAnotherInstance{
    2021, L"Another instance of this setup is already running. Please wait for the other "
          L"instance to finish and then try again."};
inline constexpr SetupText kTextMutexName{2022, L"DWGGlimra"};
inline constexpr SetupText kText32BitInstalled{
    2023, L"A 32-bit version of DWGGlimra has been installed , Please uninstall it before "
          L"installing the 64-bit version."};
inline constexpr SetupText kTextNeeds64BitWindows{
    2024, L"This is the 64-bit version of DWGGlimra. It cannot be installed on a 32-bit "
          L"version of Windows. Please install the 32-bit version."};
inline constexpr SetupText kTextFolderNotEmpty{
    2026, L"%s is not empty. Are you sure you want to install to this position?"};
inline constexpr SetupText kTextPathInputError{2027, L"Path input error, please input again."};
inline constexpr SetupText kTextInvalidPathCharacters{
    2028, L"Invalid characters in path name.\nThe following characters are not valid in path "
          L"names:/ : * ? \" < > |"};
inline constexpr SetupText kTextDriveRootChosen{
    2029, L"The software is not installed on the disk root directory, please input again."};
inline constexpr SetupText kTextSelectFolderTitle{2032, L"Please  Select the installation Path."};
inline constexpr SetupText kTextInstallFailed{2033, L"Failed to install,Please reinstall!"};
inline constexpr SetupText kTextNetFrameworkMissing{
    2034, L"Microsoft .NET Framework 4.0 Client Package or greater needs to be installed for "
          L"this installation to continue."};
inline constexpr SetupText kTextOverallProgress{2036, L"Overall progress..."};
inline constexpr SetupText kTextProgressFont{2037, L"MS Sans Serif"};
inline constexpr SetupText kTextTitleFont{2037, L"Arial"};
inline constexpr SetupText kTextProductName{2038, L"DWGGlimra"};
inline constexpr SetupText kTextPackageProductName{2038, L"TarvelGlimraViewer"};
inline constexpr SetupText kTextWebPageTitle{2040, L"Welcome %s"};

// Not a resource: shown when Setup.ini is missing.
inline constexpr wchar_t kMissingSetupIniText[] =
    L"Error:The lack of configuration file :Setup.ini";

} // namespace glimra::setup
