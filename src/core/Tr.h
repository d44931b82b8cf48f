#pragma once
// Every user-visible text passes through here so that a language module can
// replace it; the Russian text is the source text and the key.
#include <QCoreApplication>
#include <QString>

namespace zircon {

inline QString tr(const char* sourceText)
{
    return QCoreApplication::translate("Zircon", sourceText);
}

}  // namespace zircon

// Marks a literal for the translation tools without translating it yet.
#define ZT(text) QT_TRANSLATE_NOOP("Zircon", text)
