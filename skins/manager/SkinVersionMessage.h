#pragma once
// The skin engine names its version when the program is started with "/acver".

#include <QString>
#include <QStringList>
#include <functional>

inline constexpr const char* SkinEngineVersionText = "Zentrile v6.68";

// Whether any argument, in lower case, is "/acver".
bool SkinVersionAsked(const QStringList& arguments);

// Shows the version message once when it was asked for; `show` defaults to a message box.
void ShowSkinVersionIfAsked(const QStringList& arguments,
                            const std::function<void(const QString&)>& show = nullptr);
