#include "lookup/query_button_clicked.h"

namespace lookup {

void QueryButtonClicked() {}

}  // namespace lookup
