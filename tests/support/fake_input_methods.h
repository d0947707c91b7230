#pragma once
// An input-method service of the test's own: a fixed list, and a record of every switch.

#include "platform/input_methods.h"

#include <QStringList>

namespace tsupport {

class FakeInputMethods : public platform::InputMethodService {
public:
    explicit FakeInputMethods(QList<platform::InputMethod> methods, bool framework = true)
        : methods_(std::move(methods)), framework_(framework)
    {
    }
    QList<platform::InputMethod> list() override { return methods_; }
    bool activate(const QString& id) override
    {
        activated->append(id);
        return true;
    }
    bool hasFramework() const override { return framework_; }

    // Shared with the test, which keeps it after the service has gone to the program.
    std::shared_ptr<QStringList> activated = std::make_shared<QStringList>();

private:
    QList<platform::InputMethod> methods_;
    bool framework_;
};

} // namespace tsupport
