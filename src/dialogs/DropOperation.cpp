#include "dialogs/DropOperation.h"

namespace parvo {

void ExecuteDropOperation(const DropAnswers& answers, const DroppedFiles&, QString& destination,
                          const DropServices&, const DropStatus&)
{
    destination = answers.destination;
}

} // namespace parvo
