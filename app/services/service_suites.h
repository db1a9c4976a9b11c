// The host's own service suites: memory blocks and module access, memory
// handles, number strings, indexed strings and alerts, and filter and menu
// registration. The adapters are plain C tables over the objects in
// currentHost(); each answers "PARM" when the object it needs is missing.
#pragma once

namespace heart {

class SuiteBroker;

void registerBlocksSuite(SuiteBroker& broker);    // "SP Blocks Suite" 2
void registerAccessSuite(SuiteBroker& broker);    // "SP Access Suite" 3
void registerMdMemorySuite(SuiteBroker& broker);  // "AI MdMemory Suite" 1
void registerUserSuite(SuiteBroker& broker);      // "AI User Suite" 5
void registerAdmBasicSuite(SuiteBroker& broker);  // "ADM Basic Suite" 2
void registerFilterSuite(SuiteBroker& broker);    // "AI Filter Suite" 2
void registerMenuSuite(SuiteBroker& broker);      // "AI Menu Suite" 7

// All of the above.
void registerServiceSuites(SuiteBroker& broker);

}  // namespace heart
