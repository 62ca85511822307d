#pragma once
// What the installer finds out about the machine before it shows anything: the
// registered .NET Framework, the bitness of Excel, a running product program and an
// earlier installation. Each probe writes its findings into SetupState; none reports
// anything itself. The registry is read in the 32-bit view, for reading only.

namespace glimra::setup {

struct SetupState;

// Sets netVersion to the family of the greatest registered .NET version ("4.0" to
// "4.8"), or to empty when none is registered.
void ProbeNetVersion(SetupState& state);
void ProbeNetVersion();

// officeBits 1 when the registered Excel program is 64-bit, 0 when it is 32-bit;
// left as it is when no Excel program can be found.
void ProbeExcelBitness(SetupState& state);
void ProbeExcelBitness();

// Identifier of the first process whose image name is exactly "orvd.exe", or 0.
unsigned long FindRunningProduct();

// Reads the product's uninstall key (or its earlier name): installed, installed64Bit,
// maintenanceAction (0 when nothing is installed) and installDir when found. Needs
// languageKey, so it runs after ReadSetupIni.
void FindInstalledProduct(SetupState& state);
void FindInstalledProduct();

} // namespace glimra::setup
