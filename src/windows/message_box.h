// A plain modal message box centred on the primary screen.
#pragma once

#include <QString>

namespace dravn {

// Shows the text with an OK button; the caption defaults to the application name.
void ShowCenteredMessage(const QString& text, const QString& caption = {});

}  // namespace dravn
