#include "app/WizardHostRelay.h"

#include <string>

namespace marquill::app {

void WizardHostRelay::openShell(std::string_view pathOrAddress) {
    const std::string target(pathOrAddress);
    // As the platform's shell would, the wizard goes on either way; only the trace knows.
    if (!shell_.open(target)) frontEnd_.trace("The Pemms Marquill: could not open " + target);
}

void WizardHostRelay::postQuit(int exitCode) {
    if (!quitCode_) quitCode_ = exitCode;
    frontEnd_.postQuit(exitCode);
}

}  // namespace marquill::app
