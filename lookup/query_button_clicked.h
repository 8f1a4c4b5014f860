#pragma once

namespace lookup {

// The handler of a click on the query button.
void QueryButtonClicked();

}  // namespace lookup
