#include "engine/Form4.h"
#include "app/Program.h"

namespace pellmaris {

Form4::Form4(Program& app) : rt::Form(app.sys, "Form4"), app(app) {}

void Form4::design()
{
    Caption("Form4");
    ScaleSize(12000, 6000);
    Label1.Move(120, 120, 2775, 255);
    Label1.Caption("FILENAME");
    Label2.Move(3000, 120, 2775, 255);
    Label2.Caption("SIZE IN BYTES");
    Label3.Move(5880, 120, 2775, 255);
    Label3.Caption("EXCEPTIONS LIST");
    Label4.Move(8760, 120, 3015, 255);
    Label4.Caption("SUB FOLDERS");
    List1.Move(120, 480, 2775, 4740);
    List2.Move(3000, 480, 2775, 4740);
    List3.Move(5880, 480, 2775, 4740);
    List4.Move(8760, 480, 3015, 4740);
    ProgressBar1.Move(120, 5400, 11655, 375);
}

} // namespace pellmaris
