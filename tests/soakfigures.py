"""Figures a soak records every few seconds, written as CSV, and the check that
they stay flat after the first minute."""
import csv
import statistics

WARM_UP = 60  # seconds: loading, first visits and caches filling are not growth


class Figures:
    """Rows of named figures against the seconds since the start."""

    def __init__(self, names, path):
        self.names = names
        self.rows = []
        self.file = open(path, "w", newline="")
        self.csv = csv.writer(self.file)
        self.csv.writerow(["seconds"] + names)
        self.file.flush()

    def add(self, seconds, values):
        row = [round(seconds, 1)] + [values.get(n, "") for n in self.names]
        self.rows.append(row)
        self.csv.writerow(row)
        self.file.flush()

    def close(self):
        self.file.close()

    def growth(self):
        """Per figure, (early, late): its medians over the first and the second half
        of the time after the warm-up. A leak raises the late median over the early
        one by about half of what it adds over that time; a reading that swings
        once, either way, moves neither."""
        late = [r for r in self.rows if r[0] >= WARM_UP]
        if len(late) < 2:
            return {}
        middle = late[0][0] + (late[-1][0] - late[0][0]) / 2
        out = {}
        for i, name in enumerate(self.names, 1):
            first = [r[i] for r in late if r[0] <= middle and r[i] != ""]
            second = [r[i] for r in late if r[0] > middle and r[i] != ""]
            if first and second:
                out[name] = (statistics.median(first), statistics.median(second))
        return out

    def failures(self, bounds):
        """Figures whose late median exceeds the early one by more than their bound."""
        bad = []
        for name, (early, late) in self.growth().items():
            if name in bounds and late - early > bounds[name]:
                bad.append(f"{name} grew from {early} to {late} after the first minute (bound {bounds[name]})")
        return bad

    def summary(self):
        """One line per figure: its range over the whole run and its medians after the warm-up."""
        growth = self.growth()
        lines = [f"{'figure':<22}{'first':>10}{'min':>10}{'max':>10}{'last':>10}{'median 1st':>12}"
                 f"{'median 2nd':>12}"]
        for i, name in enumerate(self.names, 1):
            values = [r[i] for r in self.rows if r[i] != ""]
            if not values:
                continue
            early, late = growth.get(name, ("", ""))
            lines.append(f"{name:<22}{values[0]:>10}{min(values):>10}{max(values):>10}{values[-1]:>10}"
                         f"{early:>12}{late:>12}")
        return "\n".join(lines)

    def report(self, path, failures, bounds):
        """Prints the summary and every failure, the figures' growth beyond bounds
        among them, writes both to path and gives the exit status."""
        failures = failures + self.failures(bounds)
        summary = self.summary()
        print(summary)
        with open(path, "w") as f:
            f.write(summary + "\n" + "".join(f"FAIL: {x}\n" for x in failures))
        for x in failures:
            print("FAIL:", x)
        return 1 if failures else 0
