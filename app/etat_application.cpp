#include "app/etat_application.h"

#include <QTranslator>

#include "platform/database.h"
#include "platform/recordset.h"
#include "platform/settings_store.h"

namespace corvanta {

Etat_Application::Etat_Application() : Registre(std::make_unique<platform::SettingsStore>()) {}
Etat_Application::~Etat_Application() = default;

}  // namespace corvanta
