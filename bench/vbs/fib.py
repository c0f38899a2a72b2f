# The fib and loop_int algorithms in Python, for the cost per call and per step.
import time


def fib(n):
    return n if n < 2 else fib(n - 1) + fib(n - 2)


t0 = time.perf_counter()
r = fib(27)
print("fib result=%d time=%.4f" % (r, time.perf_counter() - t0))
t0 = time.perf_counter()
acc = 0
for i in range(1, 2000001):
    acc = (acc + i * 3) % 1000003
print("loop_int result=%d time=%.4f" % (acc, time.perf_counter() - t0))
