// The widget layer's half of the common routines: the checks that start from what an operator typed.
#include "CommonRoutines.h"
#include "Log.h"
#include "WireCodec.h"

namespace corvane {

bool LookupCodeIsValid(const QString& typed, bool quiet)
{
    return trapped("ERR in CorvaneDialogs.Main.LookupCodeIsValid   ", false, [&] {
        // The bar keeps the rule's own message; any other character the wire cannot carry as typed is refused in
        // the codec's words before the rule sees a byte.
        std::optional<std::string> refusal;
        if (typed.contains(u'|')) {
            refusal = lookupCodeRefusal("|");
        } else {
            const WireCodec::TypedText encoded = WireCodec::encodeTyped(typed, QStringLiteral("The code"));
            refusal = encoded.wire ? lookupCodeRefusal(*encoded.wire) : encoded.refusal;
        }
        if (!refusal)
            return true;
        showLookupCodeRefusal(*refusal, quiet);
        return false;
    });
}

} // namespace corvane
