#include "shell/qlcode_search_command.h"

#include "core/environment.h"
#include "search/qlcode_search.h"
#include "shell/controls.h"

int SearchQLCode(const std::u16string& term) {
  // A category picked from the list searches a narrow radius, text typed
  // into the box's edit field a wider one.
  return SearchQLCodeFile(g_environment.qlcodePath, term, CategoryPicked());
}
