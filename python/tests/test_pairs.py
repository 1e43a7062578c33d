"""Every pair against the if97 command's CSV and against scalar calls."""

import csv
import io
import subprocess

import numpy as np
import pytest

import if97
from conftest import SATURATION_PAIRS, STATE_PAIRS, assert_same_bits, sweep

# The pairs the if97 command takes, with the names of its input columns.
COMMAND_PAIRS = {"pt": "p,t", "ph": "p,h", "ps": "p,s", "px": "p,x", "tx": "t,x",
                 "sat-p": "p", "sat-t": "t"}


def command_rows(command, pair, arguments):
    """The command's CSV for the arguments: the header and one row per state."""
    lines = [COMMAND_PAIRS[pair]]
    lines += [",".join(repr(float(v)) for v in row) for row in zip(*arguments)]
    run = subprocess.run([command, pair], input="\n".join(lines) + "\n", capture_output=True,
                         text=True, timeout=60)
    assert run.returncode in (0, 1), run.stderr
    table = list(csv.reader(io.StringIO(run.stdout)))
    assert len(table) == len(arguments[0]) + 1
    return table[0], table[1:]


def module_column(result, pair, name):
    """The module's values for one of the command's columns."""
    if pair.startswith("sat-"):
        if name in ("p", "t"):
            return getattr(result.water, name)
        quantity, phase = name.rsplit("_", 1)
        return getattr(getattr(result, phase), quantity)
    return getattr(result, name)


@pytest.mark.parametrize("pair", COMMAND_PAIRS)
def test_arrays_give_what_the_command_prints(if97_command, pair):
    arguments = sweep(pair, 1500)
    function = {**STATE_PAIRS, **SATURATION_PAIRS}[pair]
    result = function(*arguments)
    header, rows = command_rows(if97_command, pair, arguments)

    # A state the command refuses is an empty row; the module refuses it too.
    refused = np.array([not any(row) for row in rows])
    np.testing.assert_array_equal(result.error != 0, refused)
    assert 0.02 < refused.mean() < 0.6, "the sweep should reach beyond the range, not mostly"
    for k, name in enumerate(header):
        column = [row[k] for row in rows]
        values = module_column(result, pair, name)
        if name.startswith("region"):
            expected = [int(v) if v else 0 for v in column]
            np.testing.assert_array_equal(values, expected, err_msg=name)
        elif name == "phase":
            np.testing.assert_array_equal(if97.phase_names(result.phase), column)
        else:
            expected = [float(v) if v else np.nan for v in column]
            assert_same_bits(values, expected, f"{pair} {name}")


@pytest.mark.parametrize("pair", [*STATE_PAIRS, *SATURATION_PAIRS])
def test_scalar_calls_give_the_array_elements(pair):
    arguments = sweep(pair, 300, seed=5)
    function = {**STATE_PAIRS, **SATURATION_PAIRS}[pair]
    array = function(*arguments)
    phases = (array.water, array.steam) if pair.startswith("sat-") else (array,)
    for i in range(len(arguments[0])):
        scalar = function(*(float(a[i]) for a in arguments))
        assert scalar.error == array.error[i]
        scalar_phases = (scalar.water, scalar.steam) if pair.startswith("sat-") else (scalar,)
        for whole, one in zip(phases, scalar_phases):
            for name in whole.keys():
                value = getattr(one, name)
                if name in ("region", "phase", "error"):
                    assert type(value) is int and value == getattr(whole, name)[i], name
                else:
                    assert type(value) is float, name
                    assert_same_bits(value, getattr(whole, name)[i], f"{pair} {name} at {i}")


def test_each_pair_gives_back_the_state_it_was_given():
    # (p, t) in every region, then each pair from the quantities of those
    # states: the functions are bound to the right library calls, their
    # arguments in the right order.
    p = np.array([0.0035, 3, 5, 30, 25, 8, 0.1, 60])
    t = np.array([426.85, 26.85, 300, 450, 380, 900, 200, 10])
    state = if97.state_pt(p, t)
    assert state.ok.all()
    np.testing.assert_array_equal(state.region, [2, 1, 2, 2, 3, 5, 2, 1])
    for pair, (a, b) in {"ph": (p, state.h), "ps": (p, state.s)}.items():
        back = STATE_PAIRS[pair](a, b)
        assert back.ok.all(), pair
        np.testing.assert_allclose(back.t, t, rtol=1e-9, atol=1e-9, err_msg=pair)
    wet = if97.saturation_p(1)
    mixed = if97.state_px(1, 0.25)
    assert mixed.h == pytest.approx(0.75 * wet.water.h + 0.25 * wet.steam.h, rel=1e-12)
    assert if97.state_tx(wet.water.t, 0.25).h == pytest.approx(mixed.h, rel=1e-9)


def test_state_hs_gives_back_pressure_and_temperature():
    probe = if97.state_pt(5, 300)
    if not if97.state_hs(probe.h, probe.s).ok:
        pytest.skip("the library does not compute state_hs yet")
    p = np.array([3, 5, 0.1, 30, 8, 50])
    t = np.array([26.85, 300, 200, 450, 900, 100])
    state = if97.state_pt(p, t)
    back = if97.state_hs(state.h, state.s)
    assert back.ok.all()
    np.testing.assert_allclose(back.p, p, rtol=1e-7)
    np.testing.assert_allclose(back.t, t, rtol=1e-7, atol=1e-6)
