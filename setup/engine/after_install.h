#pragma once
// What follows a successful installation: the product's cloud-service configuration
// files are deleted, and after the finish page the web page may be shown and the
// product started.

#include <string>

namespace glimra::setup {

// The current user's documents folder + "\GlimraCloudService\"; empty when the shell
// cannot name the documents folder.
std::wstring CloudServiceFolder();
// Deletes cloudlogin.cfg, advanceFun.cfg and serverlist.cfg there, in this order;
// missing files and failed deletions are ignored.
void ClearCloudServiceFiles();
// Opens installDir + "\ovStart.exe" through the shell, shown normally; the outcome is
// not examined.
void LaunchProduct();

// The pages the after-install actions show, reached through a table so that tests
// can give their own.
struct AfterInstallPages {
    int (*showFinishPage)(); // the finish page's result; 1001 is Finish
    void (*showAdvertPage)();
    void (*launchProduct)();
};

// The finish page's result for its Finish button.
constexpr int kFinishPageFinished = 1001;

// The end of a successful quiet installation: ClearCloudServiceFiles, maintenanceAction
// 0, the finish page, and after Finish the web page and, with launchAfterFinish 1, the
// product.
void RunQuietAfterInstall(const AfterInstallPages& pages);

} // namespace glimra::setup
