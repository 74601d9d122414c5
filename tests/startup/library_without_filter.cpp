// A curve library that draws but cannot filter: the start-up must refuse it.
#include "curve_library/quorel32.h"

extern "C" QUOREL32_API int32_t ViewSamples(QuorelWindow*, const uint8_t*, int32_t, const uint8_t*,
                                            const uint8_t*, const uint8_t*, const uint8_t*,
                                            const uint8_t*, const uint8_t*, Zone_Sensible*) {
    return 0;
}

extern "C" QUOREL32_API int32_t PreviewSamples(QuorelWindow*, const uint8_t*, int32_t) {
    return 0;
}
