#include "memoeditor.h"

namespace memoeditor {

TK_FORM_CLASS(TForm3)

}  // namespace memoeditor
