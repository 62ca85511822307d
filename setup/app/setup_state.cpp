#include "setup/app/setup_state.h"

namespace glimra::setup {

SetupState& TheSetupState()
{
    static SetupState state;
    return state;
}

} // namespace glimra::setup
