// tarvo-make-grains FILE: writes the propellant file that is installed as the default
// GRAINS.grn. It holds the built-in propellants exactly as "Восстановить по умолчанию" puts
// them into the window and "Сохранить топлива в файл" writes them, through the same code, so
// the installed file can never drift from the program's own defaults.

#include <cstdio>
#include <string>

#include "files/file_io.h"
#include "files/ini_file.h"
#include "form/form_model.h"
#include "form/motor_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: tarvo-make-grains FILE\n", stderr);
        return 2;
    }
    tarvo::FormModel form;
    tarvo::FillDefaultPropellants(form);
    tarvo::IniFile file = tarvo::IniFile::Create(argv[1]);
    tarvo::WritePropellants(form, file.document());
    if (const std::optional<tarvo::FileError> failure = file.Commit()) {
        std::fprintf(stderr, "tarvo-make-grains: %s\n",
                     tarvo::SaveFailureMessage(*failure).c_str());
        return 1;
    }
    return 0;
}
