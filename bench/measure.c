/* bench_measure RESULT COMMAND [ARGUMENTS...]: runs the command and writes
 * "SECONDS PEAK_KB EXIT_STATUS CPU_SECONDS" into the file RESULT: its wall
 * time, the peak resident memory of the command's process, its exit status
 * (128 + signal when a signal ended it), and the processor time it used in
 * user and system mode together. The command keeps this program's standard
 * streams. */
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double Now(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (double)now.tv_sec + (double)now.tv_nsec / 1e9;
}

int main(int argc, char** argv) {
  struct rusage usage;
  int status = 0, exit_status;
  double started, seconds;
  pid_t child;
  FILE* result;
  if (argc < 3) {
    fputs("usage: bench_measure RESULT COMMAND [ARGUMENTS...]\n", stderr);
    return 2;
  }
  started = Now();
  child = fork();
  if (child < 0) {
    perror("bench_measure: fork");
    return 1;
  }
  if (child == 0) {
    execvp(argv[2], argv + 2);
    perror("bench_measure: exec");
    _exit(127);
  }
  if (wait4(child, &status, 0, &usage) < 0) {
    perror("bench_measure: wait4");
    return 1;
  }
  seconds = Now() - started;
  exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result = fopen(argv[1], "w");
  if (result == NULL) {
    perror("bench_measure: result file");
    return 1;
  }
  fprintf(result, "%.6f %ld %d %.6f\n", seconds, usage.ru_maxrss, exit_status,
          (double)(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
              (double)(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6);
  return fclose(result) == 0 ? exit_status : 1;
}
