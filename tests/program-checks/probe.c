/* The program each case of cases.tsv builds: PLANT is the case's code. */
void __stdcall ExitProcess(unsigned code);
#ifdef IMPORT_MSVCRT
__declspec(dllimport) int _getpid(void);
#define USE(n) ((n) + _getpid())
#elif defined IMPORT_LATER
__declspec(dllimport) unsigned long long __stdcall GetTickCount64(void);
#define USE(n) ((n) + (int)GetTickCount64())
#else
#define USE(n) (n)
#endif

int choose(int a, int b) { return a < b ? a : b; } /* a CMOV for the i686 */
void plant(void) { PLANT }
int main(int argc, char **argv) { (void)argv; plant(); return USE(choose(argc, 2)); }
#ifdef OWN_ENTRY
void __main(void) {}
void start(void) { ExitProcess(main(1, 0)); }
#endif
