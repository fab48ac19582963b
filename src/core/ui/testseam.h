// Test mode shared by the seams of the modal things the program shows.
#pragma once

namespace zorva::seam {

// On by itself on the "offscreen" and "minimal" platforms; setTestMode overrides it.
bool testMode();
void setTestMode(bool on);
void resetTestMode();  // back to the platform's choice

}  // namespace zorva::seam
