"""Shared helpers: bitwise comparison and the states the suites sweep."""

import os

import numpy as np
import pytest

import if97

# The given quantities of each pair and the function that takes them.
STATE_PAIRS = {
    "pt": if97.state_pt, "ph": if97.state_ph, "ps": if97.state_ps, "hs": if97.state_hs,
    "px": if97.state_px, "tx": if97.state_tx,
}
SATURATION_PAIRS = {"sat-p": if97.saturation_p, "sat-t": if97.saturation_t}


def assert_same_bits(actual, expected, what=""):
    """Equal bit for bit; NaN where the other is NaN (any NaN)."""
    actual = np.asarray(actual, dtype=np.float64)
    expected = np.asarray(expected, dtype=np.float64)
    assert actual.shape == expected.shape, what
    nan = np.isnan(expected)
    np.testing.assert_array_equal(np.isnan(actual), nan, err_msg=f"{what}: NaN elsewhere")
    differ = actual[~nan].view(np.uint64) != expected[~nan].view(np.uint64)
    assert not differ.any(), (
        f"{what}: {np.count_nonzero(differ)} elements differ, first "
        f"{actual[~nan][differ][0]!r} != {expected[~nan][differ][0]!r}")


def assert_same_results(actual, expected):
    """Every column of two StateResults equal bit for bit."""
    assert actual.keys() == expected.keys()
    for name in actual.keys():
        a, e = getattr(actual, name), getattr(expected, name)
        if name in ("region", "phase", "error"):
            np.testing.assert_array_equal(a, e, err_msg=name)
        else:
            assert_same_bits(a, e, name)


def sweep(pair, n, seed=97):
    """n arguments of a pair over and beyond its range (about a tenth
    refused): a tuple of arrays in the pair's order."""
    rng = np.random.default_rng(seed)
    log_p = lambda low, high: 10 ** rng.uniform(np.log10(low), np.log10(high), n)  # noqa: E731
    if pair == "pt":
        return log_p(2e-4, 120), rng.uniform(-10, 1050, n)
    if pair == "ph":
        return log_p(5e-4, 110), rng.uniform(-50, 4800, n)
    if pair == "ps":
        return log_p(5e-4, 110), rng.uniform(-0.5, 13, n)
    if pair == "hs":
        return rng.uniform(-50, 4500, n), rng.uniform(-0.5, 12, n)
    if pair == "px":
        return log_p(3e-4, 25), rng.choice([0, 1, *rng.uniform(-0.1, 1.1, 20)], n)
    if pair == "tx":
        return rng.uniform(-5, 380, n), rng.choice([0, 1, *rng.uniform(-0.1, 1.1, 20)], n)
    if pair == "sat-p":
        return (log_p(3e-4, 25),)
    if pair == "sat-t":
        return (rng.uniform(-5, 380, n),)
    raise ValueError(pair)


@pytest.fixture(scope="session")
def if97_command():
    """The if97 command of this build (IF97_COMMAND, set by ctest)."""
    command = os.environ.get("IF97_COMMAND")
    if not command or not os.access(command, os.X_OK):
        pytest.skip("IF97_COMMAND does not name the built if97 command")
    return command
