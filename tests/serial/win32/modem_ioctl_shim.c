/* Test aid for Wine: a pseudo-terminal has no modem lines, so the modem
 * ioctls Wine's WaitCommEvent relies on fail there. This LD_PRELOAD library
 * answers them as a port with every line low and no line errors would.
 * Used only by the Windows tests. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdarg.h>
#include <string.h>
#include <sys/ioctl.h>
#include <linux/serial.h>

int ioctl(int fd, unsigned long request, ...) {
  static int (*real_ioctl)(int, unsigned long, ...);
  if (!real_ioctl) real_ioctl = (int (*)(int, unsigned long, ...))dlsym(RTLD_NEXT, "ioctl");
  va_list args;
  va_start(args, request);
  void *arg = va_arg(args, void *);
  va_end(args);
  const int result = real_ioctl(fd, request, arg);
  if (result == 0 || (errno != ENOTTY && errno != EINVAL && errno != EIO)) return result;
  switch (request) {
    case TIOCMGET:
      *(int *)arg = 0;
      return 0;
    case TIOCMSET:
    case TIOCMBIS:
    case TIOCMBIC:
      return 0;
    case TIOCGICOUNT:
      memset(arg, 0, sizeof(struct serial_icounter_struct));
      return 0;
    default:
      return result;
  }
}
