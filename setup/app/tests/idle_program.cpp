// A program that does nothing for a minute: started under the product's image name by
// the tests of the running-product check.
#include <windows.h>

int main()
{
    Sleep(60000);
    return 0;
}
