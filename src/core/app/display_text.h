#pragma once
// The core hands the fronts English display texts; the fronts show them in
// the user's language, looking each one up by its English text under the
// context "trennic". SHOWN marks such a text where it is written, so that
// the translators' tools (tools/translations/update.sh) find it; it
// changes nothing in the program. Words of configuration and filter files
// are file format and are never marked.
#define SHOWN(text) text
