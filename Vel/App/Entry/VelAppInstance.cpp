#include "Vel/App/VelApp.h"

// The program's one application object, made before main so that its start
// time is the program's own. Only the program links this file: test
// programs make the application objects they need.
namespace
{
VelApp g_app;
}
