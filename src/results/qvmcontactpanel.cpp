#include "qvmcontactpanel.h"

namespace {
qvmContactPanel::Factory& factory()
{
    static qvmContactPanel::Factory f;
    return f;
}
} // namespace

qvmContactPanel::~qvmContactPanel() = default;

void qvmContactPanel::setFactory(Factory f)
{
    factory() = std::move(f);
}

qvmContactPanel* qvmContactPanel::make(QWidget* view)
{
    return factory() ? factory()(view) : nullptr;
}
