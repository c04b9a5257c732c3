// The custom elements <entry-long>, <entry-real>, <entry-date> and <entry-mask>: the
// library's controls in a page, each over an <input> (and its drop-down <button>) in the
// element's shadow root. Load the module first:
//   <script src="build/entrybox.js"></script>
//   <script src="elements.js"></script>
// Attributes set the control's properties (max, min, decimal-places, date-format, mask,
// prompt-char, allow-null, read-only, drop-down, disabled, ...); `value` is the control's
// Text. Events: `input` when the text changes, `change` when the user leaves the field
// after changing it, `buttonclick` for the drop-down button, `entrybox` for every event
// of the control (detail: {name, args}), `entryboxerror` for an error the control raised.
// The elements take part in forms: name, form, required, disabled; the form data holds
// the Text.
(function () {
  "use strict";

  const moduleReady = createEntrybox();
  let container = null;

  // Attribute -> [property, kind of value]. "flag": present is true; "number"; "text".
  const common = {
    "allow-null": ["AllowNull", "flag"],
    "read-only": ["ReadOnly", "flag"],
    "drop-down": ["DropDown", "flag"],
    "on-focus-select": ["OnFocusSelect", "flag"],
    alignment: ["Alignment", "number"],
  };
  const kinds = {
    long: Object.assign({}, common, {
      max: ["Max", "number"],
      min: ["Min", "number"],
      spin: ["Spin", "number"],
      formatted: ["Formatted", "flag"],
    }),
    real: Object.assign({}, common, {
      max: ["Max", "number"],
      min: ["Min", "number"],
      spin: ["Spin", "number"],
      "decimal-places": ["DecimalPlaces", "number"],
      formatted: ["Formatted", "flag"],
    }),
    date: Object.assign({}, common, {
      "date-format": ["DateFormat", "text"],
      "date-min": ["DateMin", "text"],
      "date-max": ["DateMax", "text"],
      "date-century-on": ["DateCenturyOn", "flag"],
    }),
    mask: Object.assign({}, common, {
      mask: ["Mask", "text"],
      "prompt-char": ["PromptChar", "text"],
    }),
  };

  const style = `
    :host { display: inline-flex; align-items: stretch; border: 1px solid #8a8f98;
            border-radius: 3px; background: #fff; font: 14px system-ui, sans-serif;
            min-width: 10em; }
    :host(:focus-within) { outline: 2px solid #3b82f6; outline-offset: 1px; }
    :host([disabled]) { opacity: 0.6; }
    input { flex: 1; min-width: 0; border: 0; padding: 4px 6px; font: inherit;
            background: transparent; outline: none; }
    button { border: 0; border-left: 1px solid #c5c9d0; background: #eef0f3; padding: 0 6px;
             cursor: pointer; font: inherit; }
    button[hidden] { display: none; }`;

  function showForm(caption) {
    const dialog = document.createElement("dialog");
    const text = document.createElement("p");
    text.textContent = caption;
    const form = document.createElement("form");
    form.method = "dialog";
    const ok = document.createElement("button");
    ok.textContent = "OK";
    form.append(ok);
    dialog.append(text, form);
    dialog.addEventListener("close", () => dialog.remove());
    document.body.append(dialog);
    dialog.showModal();
  }

  class EntryElement extends HTMLElement {
    static formAssociated = true;

    constructor(kind) {
      super();
      this.kind = kind;
      this.internals = this.attachInternals();
      const root = this.attachShadow({ mode: "open", delegatesFocus: true });
      const sheet = document.createElement("style");
      sheet.textContent = style;
      this.input = document.createElement("input");
      this.input.setAttribute("part", "input");
      this.input.autocomplete = "off";
      this.button = document.createElement("button");
      this.button.setAttribute("part", "button");
      this.button.type = "button";
      this.button.tabIndex = -1;
      this.button.textContent = "\u25BE";
      this.button.setAttribute("aria-label", "Open");
      root.append(sheet, this.input, this.button);
      this.control = null;
      this.element = -1;
      this.textAtFocus = null;
      this.input.addEventListener("focus", () => {
        this.textAtFocus = this.value;
      });
      this.input.addEventListener("blur", () => {
        if (this.textAtFocus !== null && this.value !== this.textAtFocus) {
          this.dispatchEvent(new Event("change", { bubbles: true }));
        }
        this.textAtFocus = null;
      });
    }

    connectedCallback() {
      if (this.control) return;
      moduleReady.then((module) => {
        if (this.control || !this.isConnected) return;
        if (!container) {
          container = new module.Container();
          // The controls start in the page's font (the field shows sizes in points).
          const font = getComputedStyle(document.body);
          const family = font.fontFamily.split(",")[0].trim().replace(/^["']|["']$/g, "");
          container.setAmbientFont(family || "sans-serif", parseFloat(font.fontSize) * 0.75 || 10.5);
          module.entryboxShowForm = showForm;
        }
        this.module = module;
        this.element = module.entryboxAttach(this.input, this.button, {
          onEvent: (name, a, b) => this.controlEvent(name, a, b),
          onError: (message) => this.report(message),
          onEnter: () => {
            if (this.internals.form) this.internals.form.requestSubmit();
          },
        });
        this.control = new module.Control(container, this.kind, this.element);
        this.control.initNew();
        for (const name of this.constructor.observedAttributes) {
          if (name !== "value" && this.hasAttribute(name)) this.apply(name);
        }
        if (this.hasAttribute("value")) this.setText(this.getAttribute("value"));
        this.defaultText = this.value;
        this.updateForm();
        this.dispatchEvent(new Event("entryboxready"));
      });
    }

    disconnectedCallback() {
      if (!this.control) return;
      this.control.delete();
      this.control = null;
      this.module.entryboxDetach(this.element);
    }

    static get observedAttributes() {
      return Object.keys(kinds[this.kind]).concat(["disabled", "required", "value"]);
    }

    attributeChangedCallback(name) {
      if (!this.control) return;
      if (name === "value") return;  // the initial value; `value` the property is the Text
      this.apply(name);
    }

    apply(name) {
      if (name === "disabled") {
        this.set("Enabled", !this.hasAttribute("disabled"));
        return;
      }
      if (name === "required") {
        this.updateForm();
        return;
      }
      const [property, type] = kinds[this.kind][name];
      const raw = this.getAttribute(name);
      // A number that does not read as one goes as text: the control refuses it.
      const number = raw !== null && raw.trim() !== "" && Number.isFinite(Number(raw));
      const value =
        type === "flag" ? raw !== null && raw !== "false" : type === "number" && number ? Number(raw) : raw;
      this.set(property, value);
    }

    set(property, value) {
      try {
        this.control.set(property, value);
      } catch (error) {
        this.report(`${property}: ${error.message}`);
      }
      this.updateForm();
    }

    setText(text) {
      try {
        this.control.set("Text", String(text));
      } catch (error) {
        this.report(`value: ${error.message}`);
      }
      this.updateForm();
    }

    /// The control's Text ("" before the module has loaded).
    get value() {
      return this.control ? this.control.get("Text") : "";
    }
    set value(text) {
      if (this.control) this.setText(text);
    }
    get form() {
      return this.internals.form;
    }
    get name() {
      return this.getAttribute("name");
    }
    get validity() {
      return this.internals.validity;
    }
    checkValidity() {
      return this.internals.checkValidity();
    }
    reportValidity() {
      return this.internals.reportValidity();
    }
    /// Any property of the control by its name ("MaxNumber", "IsNull", "SelStart", ...).
    getProperty(name) {
      return this.control ? this.control.get(name) : undefined;
    }
    setProperty(name, value) {
      if (this.control) this.set(name, value);
    }
    /// Calls a method of the control ("AboutBox", "Refresh").
    call(name) {
      if (this.control) this.control.call(name);
    }

    updateForm() {
      if (!this.control) return;
      const text = this.value;
      this.internals.setFormValue(text);
      if (this.hasAttribute("required") && text === "") {
        this.internals.setValidity({ valueMissing: true }, "Please fill in this field.", this.input);
      } else {
        this.internals.setValidity({});
      }
    }

    controlEvent(name, a, b) {
      if (name === "Change") {
        this.updateForm();
        this.dispatchEvent(new Event("input", { bubbles: true, composed: true }));
      } else if (name === "ButtonClick") {
        this.dispatchEvent(new Event("buttonclick", { bubbles: true }));
        if (this.kind === "date") this.pickDate();
      }
      const args = name.startsWith("Key") ? (name === "KeyPress" ? [a] : [a, b]) : [];
      this.dispatchEvent(new CustomEvent("entrybox", { detail: { name, args } }));
    }

    // The date box's drop-down: the browser's own date picker, whose choice goes into
    // the control's Year, Month and Day.
    pickDate() {
      if (!this.picker) {
        this.picker = document.createElement("input");
        this.picker.type = "date";
        this.picker.tabIndex = -1;
        this.picker.setAttribute("part", "picker");
        this.picker.style.cssText = "position:absolute;width:0;height:0;border:0;padding:0;opacity:0";
        this.picker.addEventListener("change", () => this.takePickedDate());
        this.shadowRoot.append(this.picker);
      }
      const valid = this.control.get("IsValid") && !this.control.get("IsNull");
      const two = (n) => String(n).padStart(2, "0");
      this.picker.value = valid
        ? `${String(this.control.get("Year")).padStart(4, "0")}-${two(this.control.get("Month"))}-${two(this.control.get("Day"))}`
        : "";
      try {
        this.picker.showPicker();
      } catch (error) {
        this.report(`date picker: ${error.message}`);
      }
    }

    takePickedDate() {
      const match = /^(\d{4})-(\d{2})-(\d{2})$/.exec(this.picker.value);
      if (!match) return;
      // Day 1 first, so that no step passes through a day its month lacks.
      for (const [property, value] of [["Day", 1], ["Year", +match[1]], ["Month", +match[2]], ["Day", +match[3]]]) {
        this.set(property, value);
      }
    }

    report(message) {
      this.dispatchEvent(new CustomEvent("entryboxerror", { detail: { message } }));
    }

    formResetCallback() {
      if (this.control) this.setText(this.defaultText || "");
    }
    formDisabledCallback(disabled) {
      if (this.control) this.set("Enabled", !disabled);
    }
    formStateRestoreCallback(state) {
      if (this.control && typeof state === "string") this.setText(state);
    }
  }

  for (const kind of Object.keys(kinds)) {
    const element = class extends EntryElement {
      static kind = kind;
      constructor() {
        super(kind);
      }
    };
    customElements.define(`entry-${kind}`, element);
  }
})();
