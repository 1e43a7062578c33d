"""The result objects of the if97 functions: NumPy arrays by name."""

import keyword

import numpy as np

from . import _if97

#: The properties of a state, in the library's order: (name, unit, description).
PROPERTIES = _if97.PROPERTIES
#: The phase names by phase code; an element without a state has code -1.
PHASES = _if97.PHASES
#: The error codes by value: (code, name, English description).
ERRORS = _if97.ERRORS

_PROPERTY_NAMES = tuple(name for name, _, _ in PROPERTIES)
# Attribute names: a property whose name is a Python keyword (lambda) takes a
# trailing underscore; getattr(r, "lambda") finds it too.
_ATTRIBUTE_NAMES = {(name + "_" if keyword.iskeyword(name) else name): name
                    for name in _PROPERTY_NAMES}
_PHASE_NAMES = np.array(PHASES + ("",))  # code -1 (no state) indexes the last
_DESCRIPTIONS = np.array([text for _, _, text in ERRORS])


def describe(code):
    """The English description of an error code ("" for 0), or an array of them.

    >>> describe(1)
    'out of range'
    """
    text = _DESCRIPTIONS[np.asarray(code, dtype=np.intp)]
    return str(text) if text.ndim == 0 else text


def phase_names(code):
    """The phase name of a phase code ("" for -1, no state), or an array of them."""
    names = _PHASE_NAMES[np.asarray(code, dtype=np.intp)]
    return str(names) if names.ndim == 0 else names


def _scalars(columns):
    """Python floats and ints for the 0-d arrays of a scalar call."""
    return {name: value.item() for name, value in columns.items()}


def _property_lines():
    return "\n".join(f"    {attr:9} {unit or '-':11} {text}" for attr, (_, unit, text)
                     in zip(_ATTRIBUTE_NAMES, PROPERTIES))


class StateResult:
    __slots__ = ("_columns",)

    def __init__(self, columns):
        self._columns = dict(columns)

    def __getattr__(self, name):
        """A column by its name (lambda_ for lambda)."""
        if name.startswith("__") or name == "_columns":
            raise AttributeError(name)
        columns = self._columns
        key = _ATTRIBUTE_NAMES.get(name, name)
        if key in columns:
            return columns[key]
        if key in _PROPERTY_NAMES:
            raise AttributeError(f"{name} was not computed: it was left out of properties=")
        raise AttributeError(f"'{type(self).__name__}' object has no attribute '{name}'")

    def __dir__(self):
        """The attributes, the computed columns among them."""
        names = [attr for attr, key in _ATTRIBUTE_NAMES.items() if key in self._columns]
        return sorted(set(object.__dir__(self)) | set(names))

    def keys(self):
        """The names of the columns: the properties computed, region, phase, error."""
        return list(self._columns)

    def to_dict(self):
        """The columns by name (a new dict of the same arrays)."""
        return dict(self._columns)

    @property
    def shape(self):
        """The broadcast shape of the arguments; () for scalars."""
        return np.shape(self._columns["error"])

    @property
    def ok(self):
        """True where the state exists (error 0)."""
        return self._columns["error"] == 0

    @property
    def description(self):
        """The English description of each element's error ("" where it is 0)."""
        return describe(self._columns["error"])

    @property
    def phase_name(self):
        """Each element's phase name: liquid, steam, supercritical, saturated, "" without state."""
        return phase_names(self._columns["phase"])

    def __reduce__(self):
        return (type(self), (self._columns,))

    def __repr__(self):
        if self.shape == ():
            if not self.ok:
                return f"{type(self).__name__}(error={self.error}, {self.description!r})"
            fields = ", ".join(f"{attr}={self._columns[key]!r}" for attr, key in
                               _ATTRIBUTE_NAMES.items() if key in self._columns)
            return (f"{type(self).__name__}({fields}, region={self.region}, "
                    f"phase={self.phase_name!r})")
        return (f"{type(self).__name__}(shape={self.shape}, "
                f"failed={int(np.count_nonzero(~self.ok))}, columns={self.keys()})")


StateResult.__doc__ = f"""The states of one call, as NumPy arrays by name.

Each computed property is an attribute holding a float64 array of the
arguments' broadcast shape (a Python float when every argument was a
scalar), NaN where the state does not exist or lacks the property (cp, cv,
w and the transport properties of wet steam; x outside the saturation line;
properties the library does not yet compute).

Properties (attribute, unit, meaning):
{_property_lines()}

Further attributes:
    region       int8: 1, 2, 3 or 5, the region whose equation gives the
                 properties; 4 for wet steam; 0 without a state
    phase        int8 phase code: index into if97.PHASES (liquid, steam,
                 supercritical, saturated); -1 without a state
    phase_name   the phase names ("" without a state)
    error        int8 error code, 0 where the state exists (if97.OK,
                 OUT_OF_RANGE, NO_SATURATION, ON_SATURATION_LINE,
                 NO_CONVERGENCE)
    description  the error codes in English ("" where 0)
    ok           bool: error == 0
    shape        the broadcast shape

getattr(r, "lambda") works as r.lambda_ does. keys() and to_dict() give the
columns; the object pickles as its arrays.
"""


class SaturationResult:
    """Saturated water and saturated steam of one call.

    water, steam   StateResult of each phase (x = 0 and x = 1); their error
                   arrays are this result's
    error          int8 error code, 0 where the saturation state exists
    description    the error codes in English
    ok             bool: error == 0
    shape          the broadcast shape
    """

    __slots__ = ("water", "steam")

    def __init__(self, water, steam):
        self.water = water
        self.steam = steam

    @property
    def error(self):
        """int8 error code per element, 0 where the saturation state exists."""
        return self.water.error

    @property
    def description(self):
        """The English description of each element's error ("" where it is 0)."""
        return self.water.description

    @property
    def ok(self):
        """True where the saturation state exists."""
        return self.water.ok

    @property
    def shape(self):
        """The broadcast shape of the argument; () for a scalar."""
        return self.water.shape

    def __reduce__(self):
        return (type(self), (self.water, self.steam))

    def __repr__(self):
        return f"{type(self).__name__}(water={self.water!r}, steam={self.steam!r})"
