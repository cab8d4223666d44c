#pragma once

#include <QDBusConnection>
#include <QVariant>

#include <optional>

namespace tessel {

// A blocking call with a short timeout whose first reply argument is returned with any
// D-Bus variant wrapping removed; none when the service is absent, slow or fails.
std::optional<QVariant> dbusCall(const QDBusConnection& bus, const QString& service,
                                 const QString& path, const QString& interface,
                                 const QString& method, const QVariantList& arguments);

// Removes nested D-Bus variant wrappers, as the settings portal's Read adds two.
QVariant unwrapVariant(QVariant value);

} // namespace tessel
