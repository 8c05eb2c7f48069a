// The main window's handlers run guarded: an error that ends one is shown with its exact
// message, and the window goes on.
#pragma once

#include <QObject>
#include <functional>

namespace lumelle {

// Runs `handler`; an error that ends it is shown in a message box.
void RunShowingErrors(const std::function<void()>& handler);

// Runs `handler`, guarded, whenever `sender` emits `signal`, for as long as `context` lives.
template <typename Sender, typename Signal>
void BindShowingErrors(Sender* sender, Signal signal, QObject* context,
                       std::function<void()> handler)
{
    QObject::connect(sender, signal, context, [handler] { RunShowingErrors(handler); });
}

} // namespace lumelle
