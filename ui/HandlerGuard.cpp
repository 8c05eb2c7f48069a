#include "ui/HandlerGuard.h"

#include "platform/Error.h"
#include "platform/Messages.h"

#include <QCoreApplication>
#include <new>

namespace lumelle {

namespace {

struct GuardTexts
{
    // The texts are the main window's, translated with its own.
    Q_DECLARE_TR_FUNCTIONS(lumelle::TForm1)
};

} // namespace

void RunShowingErrors(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const Error& error) {
        platform::messages().showMessage(error.message());
    } catch (const std::bad_alloc&) {
        platform::messages().showMessage(GuardTexts::tr("Not enough memory to finish this."));
    } catch (const std::exception& error) {
        platform::messages().showMessage(QString::fromLocal8Bit(error.what()));
    }
}

} // namespace lumelle
