#include "2d/CCAction.h"

#include "2d/CCNode.h"
#include "base/CCConsole.h"

NS_CC_BEGIN

std::string Action::description() const {
    return "<Action | Tag = " + std::to_string(_tag) + ">";
}

void Action::startWithTarget(Node* target) {
    _originalTarget = target;
    _target = target;
}

void Action::stop() {
    _target = nullptr;
}

void Action::step(float /*dt*/) {
    log("Action::step: override me");
}

void Action::update(float /*time*/) {
    log("Action::update: override me");
}

NS_CC_END
