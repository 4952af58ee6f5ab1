/* Preloaded into a sanitizer build of the demo by lib.sh: dlclose() keeps
 * the library loaded, so that the leak checker at exit still knows which
 * library memory that SDL2's drivers keep belongs to (tests/lsan.supp
 * names them), where the libraries they unload would leave it nameless. */
int dlclose(void *handle)
{
    (void)handle;
    return 0;
}
