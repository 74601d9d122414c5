#include "app/structure_base.h"

#include "platform/database.h"

namespace corvanta {
namespace {

#include "app/required_objects.inc"

}  // namespace

void Verifier_Structure_Base(platform::Database& base) {
    base.requireObjects(kRequiredObjects);
}

}  // namespace corvanta
