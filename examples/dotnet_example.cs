// The C# wrapper at work: a display text, Persian narrow text in Windows-1256, a formula
// check, the windows of a day, and what the wrapper refuses with an exception.
using System;
using System.Text;
using Corvix;

static class DotnetExample {
  static void Refused(Action call) {
    try {
      call();
    } catch (ArgumentNullException error) {
      Console.WriteLine("ArgumentNullException: " + error.ParamName);
    } catch (ArgumentException error) {
      Console.WriteLine("ArgumentException: " + error.Message);
    }
  }

  static int Main() {
    Console.WriteLine(CorvixMath.Eng(12345.678, "W"));
    Console.WriteLine(Native.cm_find_charpos_in_string("سلام.x", (byte)'.'));
    Console.WriteLine(CorvixMath.CheckExpression("a+*b", "a", "b"));
    foreach (Window w in CorvixMath.Windows(new[] {new[] {0, 100, 3600}},
                                            new[] {new[] {1.0, 3.0, 10.0}}, 3600, 3600))
      Console.WriteLine(w.Centre + " s: " + w.Minimum + " " + w.Maximum + " " + w.Mean);
    Refused(() => CorvixMath.Windows(new[] {new[] {0, 90000}}, new[] {new[] {1.0, 2.0}}, 3600, 3600));
    Refused(() => CorvixMath.Summarise(new double[0]));
    Refused(() => CorvixMath.CheckExpression("a+b", (string[])null));
    return 0;
  }
}
