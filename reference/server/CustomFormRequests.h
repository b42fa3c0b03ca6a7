#pragma once

namespace corvane::reference {

class PracticeServer;

/// Custom forms: the layout upload ("T"), images in numbered pieces ("I-n", kept per operator until the image is
/// complete), the form list ("LIST"), the forms of the Other Forms menu ("H"), and reading a layout or an image back.
void registerCustomFormRequests(PracticeServer& server);

} // namespace corvane::reference
